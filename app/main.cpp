#include "shell/AppInfo.h"
#include "shell/Messages.h"
#include "shell/clsMDB.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    clsMDB db;
    QString error;
    if (!db.OpenDatabase(error)) {
        Messages::show(error.isEmpty() ? QStringLiteral("系统连接数据库失败！") : error, MsgIcon::Critical,
                       MsgButtons::OK, AppInfo::ProgramTitle);
        return 1;
    }
    return 0;
}
