#pragma once
#include <QSize>
#include <QString>
#include <vector>

// One input of a contact-record dialog: its control, its label, the column it is stored in and the
// rules its value follows.
struct ContactField {
    enum class Kind {
        Text,        // one-line text box; stored as text
        MultiLine,   // several lines with a vertical scroll bar; stored as text
        Number,      // one-line text box; stored as a plain number, 0 when empty
        Date,        // date picker; stored as 'yyyy-mm-dd' text
        TitlePicker, // drop-down of the job titles; stored as the title's key, 0 for none
    };

    QString control; // the control's object name, e.g. "txtProductname"
    QString label;   // shown left of the control, blanks kept
    QString column;  // the table's column; the view shows it under the same name
    Kind kind = Kind::Text;
    QString requiredMessage; // shown when the trimmed value is empty; empty text: optional
    int maxLength = 0;       // at most this many characters; 0: no limit
    int tabOrder = 0;
    // Place in the frame's grid of label and control pairs: the label sits in gridColumn, the
    // control right of it over gridSpan columns.
    int gridRow = 0;
    int gridColumn = 0;
    int gridSpan = 1;

    // An input at a place of the grid; the rules below are added to it.
    static ContactField at(QString control, QString label, QString column, Kind kind, int tabOrder,
                           int gridRow, int gridColumn = 0, int gridSpan = 1) {
        ContactField field;
        field.control = std::move(control);
        field.label = std::move(label);
        field.column = std::move(column);
        field.kind = kind;
        field.tabOrder = tabOrder;
        field.gridRow = gridRow;
        field.gridColumn = gridColumn;
        field.gridSpan = gridSpan;
        return field;
    }
    ContactField required(QString message) && {
        requiredMessage = std::move(message);
        return std::move(*this);
    }
    ContactField limit(int characters) && {
        maxLength = characters;
        return std::move(*this);
    }
};

// What sets one contact-record dialog apart from its siblings: its table, its captions and size, and
// its inputs. The dialog and its store follow one pattern for all of them.
struct ContactRecordForm {
    QString designCaption;       // the caption until the opener sets its own
    QString frameCaption;        // caption of Frame1, which holds the inputs
    QString table;               // e.g. "customer_sales_info"
    QString keyColumn;           // e.g. "siid"
    bool updateSetsOwner = true; // whether an edit writes the customer key again
    bool fixedBorder = false;
    QSize clientTwips; // the window's client area
    int saveTabOrder = 0;
    int cancelTabOrder = 0;
    // The inputs in the order of the statements' columns; the checks of a save run in this order.
    std::vector<ContactField> fields;

    // Null for a control the form does not hold.
    const ContactField* field(const QString& control) const {
        for (const ContactField& f : fields)
            if (f.control == control)
                return &f;
        return nullptr;
    }
};
