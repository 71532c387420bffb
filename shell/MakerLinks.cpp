#include "shell/MakerLinks.h"
#include "core/AppInfo.h"
#include "core/ShellOpen.h"

#include <QLabel>
#include <QUrl>

namespace MakerLinks {

QLabel* linkLabel(const QString& text, const char* objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(QStringLiteral("color: #0000ff; text-decoration: underline;"));
    return label;
}

void openWebPage() {
    ShellOpen::open(QUrl(AppInfo::MakerWebPage));
}

void openMail() {
    ShellOpen::open(QUrl(QStringLiteral("mailto:") + AppInfo::MakerEmail));
}

void openGuestBook() {
    ShellOpen::open(QUrl(AppInfo::MakerGuestBook));
}

} // namespace MakerLinks
