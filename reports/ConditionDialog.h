#pragma once
#include "reports/I_SelectCond.h"

#include <QDialog>

class QPushButton;

// What every condition dialog shares: the result code and the two texts of the last 查询, a modal
// Show that loads the window the first time (and again after it was unloaded), the button pair
// cmdOK(0) "   查询(&Q)" / cmdOK(1) "取消(&C)". The close box and Escape count as 取消, so a closed
// dialog never passes for a confirmed one.
class ConditionDialog : public QDialog, public I_SelectCond {
    Q_OBJECT
public:
    explicit ConditionDialog(QWidget* parent = nullptr);

    qint16 plngRet() const override { return m_plngRet; }
    void setPlngRet(qint16 value) override { m_plngRet = value; }
    void Show() override;
    void Hide() override { hide(); }
    QString GetShowCond() const override { return m_showCond; }
    QString GetExecCond() const override { return m_execCond; }
    bool CheckData() override { return true; }
    void Unload() override;

    bool isLoaded() const { return m_loaded; }
    QPushButton* cmdOK(int index) const { return index == 0 ? m_query : m_cancel; }

public slots:
    // 0 查询, 1 取消.
    void cmdOK_Click(int index);
    void reject() override;

protected:
    // Fills the window's lists; runs at the first Show and at the first Show after an unload.
    virtual void Form_Load() {}
    // Empties the fields (the window was unloaded).
    virtual void clearFields() {}
    // Builds the statement and the display text from the fields.
    virtual QString BuildExecCond() const = 0;
    virtual QString BuildShowCond() const = 0;
    // The button row below the fields, for the subclass's layout.
    QLayout* buttonRow() const { return m_buttons; }

private:
    qint16 m_plngRet = 0;
    QString m_execCond;
    QString m_showCond;
    bool m_loaded = false;
    QPushButton* m_query;
    QPushButton* m_cancel;
    QLayout* m_buttons;
};
