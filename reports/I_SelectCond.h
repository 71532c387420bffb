#pragma once
#include <QString>

// A report's condition dialog as the report window sees it: shown modally, it answers a result code
// (0 confirmed, 1 cancelled), the display text of the conditions confirmed last and the complete
// SELECT statement that the report runs. The window never knows which dialog it has.
class I_SelectCond {
public:
    virtual ~I_SelectCond() = default;

    virtual qint16 plngRet() const = 0;
    virtual void setPlngRet(qint16 value) = 0;
    // Shows the dialog modally; returns when it has been hidden or closed.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Empty texts before the first confirmation.
    virtual QString GetShowCond() const = 0;
    virtual QString GetExecCond() const = 0;
    // Whether the conditions entered are acceptable; tells the user why not.
    virtual bool CheckData() = 0;
    // Unloads the dialog's window: the next Show loads it again with fresh fields.
    virtual void Unload() = 0;
};
