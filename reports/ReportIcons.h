#pragma once
#include <QIcon>
#include <QString>

// The report toolbars' small pictures, drawn once in code, by image key ("IMG_FILTER",
// "IMG_REFRESH", "IMG_EXCHANGE", "IMG_PRINT", "IMG_PRINTSETUP", "IMG_PREVIEW", "IMG_SAVE", "IMG_RESIZE",
// "IMG_EXIT", "IMG_SETUP", "IMG_PAGES", "IMG_PAGE", "IMG_PREV", "IMG_NEXT", "IMG_CHART"). Unknown keys give
// an empty icon.
namespace ReportIcons {

QIcon icon(const QString& key);

} // namespace ReportIcons
