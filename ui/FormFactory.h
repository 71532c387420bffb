#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Windows created by their form name, so that a lower layer can open a window of a higher one.
// Names are compared without regard to letter case. Each subsystem registers its windows at start-up.
namespace FormFactory {

using Creator = std::function<QWidget*()>;

void registerForm(const QString& formName, Creator creator);
bool isRegistered(const QString& formName);
// A new, unshown instance, or null when no window of that name is registered.
QWidget* create(const QString& formName);
// The registered names, lower-cased, in no particular order.
QStringList registeredNames();

} // namespace FormFactory
