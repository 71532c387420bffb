#pragma once
#include <QString>
#include <memory>

class ProgressService;
class QWidget;

// The progress of a long print step in the program's progress display: laying a document out
// ("pages counted", without an end) and printing it page by page. The work asks after each page
// whether to go on.
class PrintProgress {
public:
    // The display stands over `window` once that is shown.
    explicit PrintProgress(QWidget* window);
    ~PrintProgress();
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    // `pages` laid out so far; false once the user has cancelled.
    bool counting(int pages);
    // Page `page` (from 1) of `pages` is about to print; false once the user has cancelled.
    bool printing(int page, int pages);
    // The last of `pages` has printed: the progress stands at its end.
    void printed(int pages);

    static const QString Title;

private:
    bool step(const QString& label, int value, int maximum);

    std::unique_ptr<ProgressService> m_progress;
    bool m_cancelled = false;
};
