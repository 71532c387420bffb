#include "ui/MessageBoxService.h"
#include "core/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTextBoundaryFinder>
#include <utility>

namespace {

QMessageBox::Icon boxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::OK:
        break;
    }
    return QMessageBox::Ok;
}

MsgAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        return MsgAnswer::OK;
    }
}

// The longest run of characters the box keeps on one line, and the shortest one it breaks after a
// comma or an opening parenthesis.
constexpr int LongestRun = 40;
constexpr int ShortestRun = 12;
const QChar BreakHere(0x200B);

bool breaksWellAfter(QChar c) {
    return c == QLatin1Char(',') || c == QLatin1Char('(');
}

// A box whose copy gives the message's own text, without the places to break.
class MessageBox : public QMessageBox {
public:
    explicit MessageBox(const Message& message)
        : QMessageBox(boxIcon(message.icon), message.title, QString(), boxButtons(message.buttons),
                      QApplication::activeWindow()),
          m_text(message.text) {
        setTextFormat(Qt::PlainText);
        setText(wrappableText(message.text));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event == QKeySequence::Copy) {
            QGuiApplication::clipboard()->setText(m_text);
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

private:
    QString m_text;
};

MsgAnswer showBox(const Message& message) {
    return answerOf(makeMessageBox(message)->exec());
}

} // namespace

QString wrappableText(const QString& text) {
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    QString shown;
    shown.reserve(text.size() + text.size() / ShortestRun);
    qsizetype from = 0;
    int run = 0; // characters since the last place to break
    for (qsizetype at = characters.toNextBoundary(); at > 0; at = characters.toNextBoundary()) {
        shown += QStringView(text).mid(from, at - from);
        from = at;
        if (at == text.size())
            break;
        lines.setPosition(at);
        ++run;
        if (lines.isAtBoundary() || text.at(at).isSpace()) {
            run = 0;
        } else if (run >= LongestRun || (run >= ShortestRun && breaksWellAfter(text.at(at - 1)))) {
            shown += BreakHere;
            run = 0;
        }
    }
    return shown;
}

std::unique_ptr<QMessageBox> makeMessageBox(const Message& message) {
    auto box = std::make_unique<MessageBox>(message);
    // Chinese captions whatever the system locale is.
    const std::pair<QMessageBox::StandardButton, const char16_t*> captions[] = {
        {QMessageBox::Ok, u"确定"},
        {QMessageBox::Cancel, u"取消"},
        {QMessageBox::Yes, u"是(&Y)"},
        {QMessageBox::No, u"否(&N)"},
        {QMessageBox::Retry, u"重试(&R)"}};
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box->button(button))
            shown->setText(QString::fromUtf16(caption));
    return box;
}

void installMessageBox() {
    Messages::handler().install(showBox);
}
