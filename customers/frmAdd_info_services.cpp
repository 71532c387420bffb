#include "customers/frmAdd_info_services.h"

using Kind = ContactField::Kind;

ContactRecordForm frmAdd_info_services::form() {
    ContactRecordForm form;
    form.designCaption = QStringLiteral("添加售后服务信息");
    form.frameCaption = QStringLiteral("售后服务信息");
    form.table = QStringLiteral("customer_services_info");
    form.keyColumn = QStringLiteral("siid");
    form.updateSetsOwner = false;
    form.clientTwips = QSize(7590, 4215);
    form.saveTabOrder = 4;
    form.cancelTabOrder = 5;
    form.fields = {
        ContactField::at(QStringLiteral("txtService"), QStringLiteral("服务人员:"), QStringLiteral("service"),
                         Kind::Text, 0, 0, 0),
        ContactField::at(QStringLiteral("txtContent"), QStringLiteral("服务内容:"), QStringLiteral("content"),
                         Kind::MultiLine, 2, 1, 0, 3)
            .required(QStringLiteral("请填写服务内容信息!")),
        ContactField::at(QStringLiteral("dtpSDate"), QStringLiteral("服务日期:"),
                         QStringLiteral("service_date"), Kind::Date, 1, 0, 2),
        ContactField::at(QStringLiteral("txtRemark"), QStringLiteral("备   注:"), QStringLiteral("remark"),
                         Kind::MultiLine, 3, 2, 0, 3),
    };
    return form;
}

frmAdd_info_services::frmAdd_info_services(QWidget* parent) : ContactRecordDialog(form(), parent) {
    setObjectName(QStringLiteral("frmAdd_info_services"));
}
