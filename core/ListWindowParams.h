#pragma once
#include <QString>
#include <QVariantList>

// What the opener of a list window tells it before it is first shown; the window reads the fields
// afresh at every load of its grid. Field names follow the hidden fields of the list windows.
struct ListWindowParams {
    QString caption;           // window caption; also the module name of every rights test
    QString lbFormName;        // title shown at the top left and appended to record dialogs' captions
    QString txtFields;         // search columns separated by ","
    QString txtLblFields;      // search labels separated by "|"
    QString txtTableNameAndID; // "table,keycolumn"
    QString txtSQL;            // list query, key column first; lower-case "where" and "order by"
    QVariantList sqlParams;    // values of the `?` in txtSQL, in order (a customer type's name);
                               // whatever splices a condition into txtSQL binds them with its own
    QString txtTableSql;       // the record dialog's base query, without a condition
    QString HeadString;        // grid header string
    QString txtFieldWidth;     // customer list only: column widths in tens of twips separated by "|"
    QString txtFrmName;        // the record dialog's form name
};

// A window that takes list parameters (the three list windows).
class IListWindow {
public:
    virtual ~IListWindow() = default;
    virtual void setListParams(const ListWindowParams& params) = 0;
    virtual const ListWindowParams& listParams() const = 0;
};
