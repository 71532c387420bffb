#pragma once
#include "core/ServiceHook.h"

#include <QString>
#include <memory>

class QWidget;

// The progress of one piece of long work (rows written, pages counted, pages printed) with a 取消
// button. The work calls start, then setValue as it goes and stops when setValue answers false, then
// finish. The program's display is a progress dialog that appears only once the work has run half a
// second, so short work shows nothing; tests install a display of their own through `factory`.
class ProgressService {
public:
    virtual ~ProgressService() = default;

    // A maximum of 0 counts without an end: a busy bar under the text.
    virtual void start(const QString& title, const QString& label, int maximum) = 0;
    // False once the user has cancelled.
    virtual bool setValue(int value) = 0;
    virtual void finish() = 0;

    // Work that goes through steps changes its text (which then words the count itself, the bar
    // showing only how far the work has come) and its maximum as it goes; both show with the next
    // value. A display that shows neither may ignore them.
    virtual void setLabel(const QString& /*label*/) {}
    virtual void setMaximum(int /*maximum*/) {}
    // The dialog stands over this window while it is shown, else over the window the user works in
    // (a window that is still being prepared behind the progress is not shown yet).
    virtual void setOwner(QWidget* /*window*/) {}

    // A display for one piece of work, made by the installed factory.
    static std::unique_ptr<ProgressService> create();
    static ServiceHook<std::unique_ptr<ProgressService>()>& factory();
    // The program's display, the factory's default (for a display that only watches it).
    static std::unique_ptr<ProgressService> dialog();
    // How long work runs before the program's dialog shows: half a second; tests shorten it.
    static int showAfterMs();
    static void setShowAfterMs(int ms);
};
