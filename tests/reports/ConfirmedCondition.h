#pragma once
#include "reports/I_SelectCond.h"

#include <QString>
#include <QWidget>
#include <utility>

// A condition dialog that confirms one statement each time it is shown, with no condition text.
class ConfirmedCondition : public QWidget, public I_SelectCond {
public:
    explicit ConfirmedCondition(QString sql) : m_sql(std::move(sql)) {}
    qint16 plngRet() const override { return 0; }
    void setPlngRet(qint16) override {}
    void Show() override {}
    void Hide() override {}
    QString GetShowCond() const override { return QString(); }
    QString GetExecCond() const override { return m_sql; }
    bool CheckData() override { return true; }
    void Unload() override {}

private:
    QString m_sql;
};
