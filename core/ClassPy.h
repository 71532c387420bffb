#pragma once
#include <QString>
#include <array>

// Pinyin initials of a Chinese text ("北京科技有限公司" -> "BJKJYXGS"). A character of the first level
// of GB2312 (sorted by pinyin) gets its initial from its code-page-936 code alone, by comparing it with
// the first character of each initial; every other character gets the initial of its Mandarin reading
// as ICU gives it (a table made when the program is built), and a character without one is taken by
// its code as the first level is. No input method is consulted, so the object never knows any
// keyboard layout: its layout lists stay empty.
class ClassPy {
public:
    ClassPy();

    // True when a pinyin input method is known; never the case.
    bool MSPYInstalled() const { return m_MSPYIndex != 0; }
    qint32 MSPYIndex() const { return m_MSPYIndex; }
    qint32 Count() const { return m_Count; }

    // Layout handle and name number i (1 to Count), else 0 and empty text.
    qint32 GetHandle(qint32 i) const;
    QString GetName(qint32 i) const;

    // The initials of the text with blanks at both ends removed (blanks inside stay). The mode and the
    // separator do not change the result. Letters come out upper-case; the caller upper-cases the rest.
    QString MSPYReverse(const QString& text, qint16 mode, const QString& separator) const;

    // One entry per UTF-16 unit: the initial of a Chinese character, the upper-case form of an ASCII
    // letter, any other one-byte character unchanged, five blanks for a two-byte symbol below the first
    // level. A text of exactly one blank gives empty text.
    QString GetPYStr(const QString& text) const;

private:
    static constexpr int LayoutSlots = 40;

    void initialize();
    // The entry for one character, appended to the result.
    static void appendInitial(QChar c, QString& result);

    std::array<qint32, LayoutSlots> m_layoutHandles{};
    std::array<QString, LayoutSlots> m_layoutNames{};
    qint32 m_MSPYIndex = 0;
    qint32 m_Count = 0;
};
