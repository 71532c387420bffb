#include "ui/FormFactory.h"

#include <QHash>

namespace {
QHash<QString, FormFactory::Creator>& creators() {
    static QHash<QString, FormFactory::Creator> registry;
    return registry;
}
QString keyOf(const QString& formName) {
    return formName.trimmed().toLower();
}
} // namespace

namespace FormFactory {

void registerForm(const QString& formName, Creator creator) {
    creators().insert(keyOf(formName), std::move(creator));
}

bool isRegistered(const QString& formName) {
    return creators().contains(keyOf(formName));
}

QStringList registeredNames() {
    return creators().keys();
}

QWidget* create(const QString& formName) {
    const auto found = creators().constFind(keyOf(formName));
    return found == creators().constEnd() ? nullptr : (*found)();
}

} // namespace FormFactory
