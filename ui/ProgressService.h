#pragma once
#include "core/ServiceHook.h"

#include <QString>
#include <memory>

// The progress of one piece of long work (rows written, pages counted) with a 取消 button. The work
// calls start, then setValue as it goes and stops when setValue answers false, then finish. The
// program's display is a progress dialog that appears only once the work has run half a second, so
// short work shows nothing; tests install a display of their own through `factory`.
class ProgressService {
public:
    virtual ~ProgressService() = default;

    virtual void start(const QString& title, const QString& label, int maximum) = 0;
    // False once the user has cancelled.
    virtual bool setValue(int value) = 0;
    virtual void finish() = 0;

    // A display for one piece of work, made by the installed factory.
    static std::unique_ptr<ProgressService> create();
    static ServiceHook<std::unique_ptr<ProgressService>()>& factory();
};
