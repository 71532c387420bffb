#pragma once
#include <QString>
#include <QVariant>
#include <optional>

// The mode a record dialog runs in; as text "1" add, "2" edit, "3" browse.
enum class RecordMode { Add, Edit, Browse };

QString recordModeTag(RecordMode mode);
// Nothing for a text other than "1", "2" or "3".
std::optional<RecordMode> recordModeFromTag(const QString& tag);

// What a list window tells the record dialog it opens, and what it reads back. Every record dialog
// derives from this next to QDialog. The opener sets the mode, for edit and browse the query of the
// row to load, and where the customer list says so the owner key; the dialog reads them when it
// loads, keeps the key of the row it loaded, and may leave a result for the list.
class IRecordDialog {
public:
    virtual ~IRecordDialog() = default;

    RecordMode mode() const { return m_mode; }
    void setMode(RecordMode mode) { m_mode = mode; }
    QString modeTag() const { return recordModeTag(m_mode); }

    // Edit and browse: the query whose first row the dialog loads.
    const QString& rowQuery() const { return m_rowQuery; }
    void setRowQuery(const QString& sql) { m_rowQuery = sql; }

    // Detail dialogs: the key of the customer that owns the record; the customer card opened to add:
    // the list's title.
    const QString& ownerKey() const { return m_ownerKey; }
    void setOwnerKey(const QString& key) { m_ownerKey = key; }

    // The key of the row the dialog loaded (edit and browse) or saved.
    const QString& loadedKey() const { return m_loadedKey; }
    void setLoadedKey(const QString& key) { m_loadedKey = key; }

    // A value the list reads back after the dialog returns (for example the customer's next visit
    // date after a visit was saved); invalid when the dialog leaves none.
    virtual QVariant listResult() const { return QVariant(); }

private:
    RecordMode m_mode = RecordMode::Add;
    QString m_rowQuery;
    QString m_ownerKey;
    QString m_loadedKey;
};

// "添加", "修改" or "浏览" followed directly by the list's title.
QString recordDialogCaption(RecordMode mode, const QString& listTitle);

// The query of one row for edit and browse: the trimmed base query, the joiner, the key column, "="
// and the key as it stands in the grid. The customer list joins with " and ", its base query already
// ending in a condition.
QString recordRowQuery(const QString& baseQuery, const QString& keyColumn, const QString& key,
                       const QString& joiner = QStringLiteral(" where "));

struct RecordDialogRequest {
    QString formName; // compared trimmed and without regard to letter case
    RecordMode mode = RecordMode::Add;
    QString listTitle;               // goes into the caption
    QString rowQuery;                // edit and browse
    std::optional<QString> ownerKey; // only where the list sets it
};

struct RecordDialogOutcome {
    bool opened = false; // false: no record dialog of that name (the user was told)
    int result = 0;      // the dialog's result code
    QString loadedKey;
    QVariant listResult;
};

// Creates a new instance of the named record dialog through the form registry, hands it the
// request, runs it modally without owner and releases it when it returns. A name that no dialog is
// registered under is reported through the message service and opens nothing.
RecordDialogOutcome openRecordDialog(const RecordDialogRequest& request);
