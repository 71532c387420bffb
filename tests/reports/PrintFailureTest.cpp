// A print that does not finish: a PDF file that cannot be written keeps the earlier file of its name
// byte for byte and names its reason, a printer that does not take the job is named, and a print that
// finishes brings its progress to the end.
#include "core/Messages.h"
#include "reports/PrintControl.h"
#include "reports/PrintError.h"
#include "reports/clsPreView.h"
#include "reports/frmPreView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SmallDisk.h"
#include "ui/DataGrid.h"
#include "ui/GridModel.h"
#include "ui/ModalRunner.h"
#include "ui/ProgressService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Print jobs go to the given printer set-up instead of the system's printer.
class PrintTo {
public:
    explicit PrintTo(std::function<void(QPrinter&)> setUp)
        : m_hook(PrintControl::printerChooser(), [setUp](QPrinter& printer, const QString&) {
              setUp(printer);
              return true;
          }) {}

private:
    ScopedHook<bool(QPrinter&, const QString&)> m_hook;
};

PrintTo pdfFile(const QString& file) {
    return PrintTo([file](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    });
}

// A progress display that keeps each value with the maximum it stood at.
class LoggedValues final : public ProgressService {
public:
    explicit LoggedValues(QList<std::pair<int, int>>& steps) : m_steps(steps) {}
    void start(const QString&, const QString&, int maximum) override { m_maximum = maximum; }
    void setMaximum(int maximum) override { m_maximum = maximum; }
    bool setValue(int value) override {
        m_steps.append({value, m_maximum});
        return true;
    }
    void finish() override {}

private:
    QList<std::pair<int, int>>& m_steps;
    int m_maximum = 0;
};

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList partFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden);
}

class PrintFailureTest : public ::testing::Test {
protected:
    DataGrid grid;
    MessageRecorder messages;
    ScopedHook<int(QDialog&)> noPreview{ModalRunner::handler(), [](QDialog&) { return 0; }};

    void SetUp() override {
        GridModel& g = grid.grid();
        g.setFormatString(QStringLiteral("编号|<客户名称"));
        g.setRows(301);
        for (int r = 1; r <= 300; ++r) {
            g.setTextMatrix(r, 0, QString::number(r));
            g.setTextMatrix(r, 1, QStringLiteral("成都华信科技有限公司%1").arg(r));
        }
    }

    // The print of the report window: the job, its settings, PrintGrid; the error it ends with.
    QString print() {
        clsPreView job;
        job.setPreView(false);
        job.setHeader(QStringLiteral("分类清单报表"));
        job.setVsGridHWnd(&grid);
        try {
            job.PrintGrid();
        } catch (const PrintError& error) {
            return error.text();
        }
        return QString();
    }
};

TEST_F(PrintFailureTest, APdfThatCannotBeWrittenKeepsTheEarlierFileAndNamesItsReason) {
    SmallDisk disk(1024);
    if (!disk.available())
        GTEST_SKIP() << disk.why().toStdString();
    const QString pdf = disk.filePath(QStringLiteral("分类清单报表.pdf"));
    {
        const PrintTo output = pdfFile(pdf);
        ASSERT_EQ(print(), QString());
    }
    const QByteArray earlier = contents(pdf);
    ASSERT_TRUE(earlier.startsWith("%PDF"));
    grid.grid().setTextMatrix(1, 1, QStringLiteral("改过的客户名称"));

    struct Case {
        const char* what;
        QString file;
        QString reason;
    };
    QList<Case> cases = {{"a full disk", pdf, "打印文件没有写成：磁盘空间不足：" + disk.path()}};
    if (QFileInfo(QStringLiteral("/sys")).isDir() &&
        !QFile(QStringLiteral("/sys/crm_probe")).open(QIODevice::WriteOnly))
        cases.append({"a folder that refuses new files", QStringLiteral("/sys/报表.pdf"),
                      QStringLiteral("打印文件没有写成：没有写入权限：/sys")});
    ASSERT_TRUE(disk.fill());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PrintTo output = pdfFile(c.file);
        EXPECT_EQ(print(), c.reason);
        EXPECT_EQ(contents(pdf), earlier) << "the earlier file is gone or changed";
        EXPECT_TRUE(partFiles(QFileInfo(c.file).absolutePath()).isEmpty());
    }

    // The same from the preview's 打印: its message names the reason, not a missing printer.
    const PrintTo output = pdfFile(pdf);
    clsPreView job;
    job.setPreView(true);
    job.setVsGridHWnd(&grid);
    job.PrintGrid();
    messages.clear();
    job.previewWindow().tbPrnBar_ButtonClick(QStringLiteral("打印"));
    EXPECT_EQ(messages.texts(), QStringList{"打印文件没有写成：磁盘空间不足：" + disk.path()});
    EXPECT_EQ(messages.last().title, QStringLiteral("打印预览"));
    EXPECT_EQ(contents(pdf), earlier);
}

// A printer that does not take the job is named, not taken for a missing printer.
TEST_F(PrintFailureTest, APrinterThatDoesNotFinishIsNamed) {
    bool native = false;
    const PrintTo output([&native](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(QStringLiteral("财务室打印机"));
        native = printer.outputFormat() == QPrinter::NativeFormat;
    });
    const QString error = print();
    if (!native)
        GTEST_SKIP() << "this system prints to no printer of its own";
    EXPECT_EQ(error, QStringLiteral("打印机“财务室打印机”没有完成打印。"));
}

// The progress of a print reaches its maximum with the last page.
TEST_F(PrintFailureTest, ThePrintProgressEndsAtItsMaximum) {
    QTemporaryDir dir;
    QList<std::pair<int, int>> steps;
    ScopedHook<std::unique_ptr<ProgressService>()> logged(
        ProgressService::factory(), [&] { return std::make_unique<LoggedValues>(steps); });
    const PrintTo output = pdfFile(dir.filePath(QStringLiteral("a.pdf")));
    ASSERT_EQ(print(), QString());
    ASSERT_FALSE(steps.isEmpty());
    const auto [value, maximum] = steps.last();
    EXPECT_GT(maximum, 1);
    EXPECT_EQ(value, maximum);
    EXPECT_TRUE(messages.empty());
}

} // namespace
