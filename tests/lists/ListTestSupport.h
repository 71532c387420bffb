#pragma once
// What the list-window tests share: the operator of the run, a clerk with chosen permissions, sample
// customers and a record dialog that records how it was opened.
#include "core/ClassPy.h"
#include "core/Globals.h"
#include "core/clsApp.h"
#include "core/clsMDB.h"
#include "core/enCode.h"
#include "ui/FormFactory.h"
#include "ui/IRecordDialog.h"

#include <QDialog>
#include <QList>
#include <gtest/gtest.h>

namespace listtests {

// A user "clerk" (password "pw") holding the given permissions on the module `module`.
inline void addClerk(clsMDB& db, const QStringList& permissions,
                     const QString& module = QStringLiteral("模块名称")) {
    ASSERT_TRUE(db.ExecSQL("insert into manage_user (userid,name,pwd,mdid) values ('clerk','文员',?,1)",
                           {enCodeValue(QStringLiteral("pw"))}));
    ASSERT_TRUE(db.ExecSQL("insert into manage_module_roleName (name,remark) values ('文员角色',' ')"));
    for (const QString& permission : permissions)
        ASSERT_TRUE(
            db.ExecSQL("insert into manage_module_role (mmid,mrid,pmrid) select m.mmid,r.mrid,n.pmrid from "
                       "manage_module m, manage_role r, manage_module_roleName n where m.name=? and "
                       "r.name=? and n.name='文员角色'",
                       {module, permission}));
    ASSERT_TRUE(
        db.ExecSQL("insert into manage_user_rolename (muid,pmrid) select u.muid,n.pmrid from "
                   "manage_user u, manage_module_roleName n where u.userid='clerk' and n.name='文员角色'"));
}

// The operator of the run, for the rights checks of the windows.
struct CurrentOperator {
    CurrentOperator(clsMDB& db, const QString& userId, const QString& password) : app(db) {
        EXPECT_TRUE(app.CheckUserPassword(userId, password));
        gMDB = &db;
        gApp = &app;
    }
    ~CurrentOperator() {
        gApp = nullptr;
        gMDB = nullptr;
    }
    clsApp app;
};

// Inserts a customer of type `etid` with its pinyin initials; answers its key.
inline qint64 addCustomer(clsMDB& db, const QString& company, const QString& nextDate,
                          const QString& signDate, int dateday = 30, int etid = 2,
                          const QString& address = QStringLiteral("人民路1号")) {
    const QString jp = ClassPy().MSPYReverse(company, 0, QString()).toUpper();
    EXPECT_TRUE(
        db.ExecSQL("insert into customer_info (cardname,company,etid,duty,jp,dateday,nextdate,sign_date,"
                   "address,isdel) values ('王伟',?,?,1,?,?,?,?,?,0)",
                   {company, etid, jp, QString::number(dateday), nextDate, signDate, address}));
    return db.GetRS(QStringLiteral("select max(ciid) from customer_info"))->Value(0, 0).toLongLong();
}

// How a record dialog was opened, and what it hands back.
struct DialogCall {
    QString form;
    QString caption;
    RecordMode mode = RecordMode::Add;
    QString rowQuery;
    QString ownerKey;
};

class RecordingDialog : public QDialog, public IRecordDialog {
public:
    explicit RecordingDialog(QString form) : m_form(std::move(form)) {}
    QVariant listResult() const override { return handBack(); }

    static QList<DialogCall>& calls() {
        static QList<DialogCall> list;
        return list;
    }
    // What every dialog hands back to the list (invalid: nothing).
    static QVariant& handBack() {
        static QVariant value;
        return value;
    }
    // Registers recording dialogs under the names.
    static void registerAs(const QStringList& forms) {
        for (const QString& form : forms)
            FormFactory::registerForm(form, [form] { return new RecordingDialog(form); });
    }
    // Takes the protocol's values (call from the modal-runner hook).
    void record() { calls().append({m_form, windowTitle(), mode(), rowQuery(), ownerKey()}); }

private:
    QString m_form;
};

} // namespace listtests
