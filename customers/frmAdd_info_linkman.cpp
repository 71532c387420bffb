#include "customers/frmAdd_info_linkman.h"

using Kind = ContactField::Kind;

ContactRecordForm frmAdd_info_linkman::form() {
    ContactRecordForm form;
    form.designCaption = QStringLiteral("添加相关联系人");
    form.frameCaption = QStringLiteral("联系人信息");
    form.table = QStringLiteral("customer_info_linkman");
    form.keyColumn = QStringLiteral("cilid");
    form.fixedBorder = true;
    form.clientTwips = QSize(7665, 4710);
    form.saveTabOrder = 8;
    form.cancelTabOrder = 9;
    form.fields = {
        ContactField::at(QStringLiteral("txtName"), QStringLiteral("姓名:"), QStringLiteral("linkman"),
                         Kind::Text, 0, 0, 0)
            .required(QStringLiteral("请输入相关联系人信息!")),
        ContactField::at(QStringLiteral("txtTel"), QStringLiteral("电话:"), QStringLiteral("linktel"),
                         Kind::Text, 1, 1, 0)
            .required(QStringLiteral("请输入电话!")),
        ContactField::at(QStringLiteral("txtMobile1"), QStringLiteral("手机1:"), QStringLiteral("mobile1"),
                         Kind::Text, 2, 1, 2),
        ContactField::at(QStringLiteral("txtMobile2"), QStringLiteral("手机2:"), QStringLiteral("mobile2"),
                         Kind::Text, 3, 2, 0),
        ContactField::at(QStringLiteral("txtQQ"), QStringLiteral("QQ:"), QStringLiteral("qq"), Kind::Text, 5,
                         3, 0),
        ContactField::at(QStringLiteral("txtMsn"), QStringLiteral("MSN:"), QStringLiteral("msn"), Kind::Text,
                         6, 3, 2),
        ContactField::at(QStringLiteral("txtEmail"), QStringLiteral("email:"), QStringLiteral("email"),
                         Kind::Text, 4, 2, 2),
        // Reached last with the Tab key, after Cancel.
        ContactField::at(QStringLiteral("cmbDuty"), QStringLiteral("头衔:"), QStringLiteral("duty"),
                         Kind::TitlePicker, 20, 0, 2),
        ContactField::at(QStringLiteral("txtRemark"), QStringLiteral("备注:"), QStringLiteral("remark"),
                         Kind::MultiLine, 7, 4, 0, 3),
    };
    return form;
}

frmAdd_info_linkman::frmAdd_info_linkman(QWidget* parent) : ContactRecordDialog(form(), parent) {
    setObjectName(QStringLiteral("frmAdd_info_linkman"));
}
