#include "customers/frmAdd_info_complaints.h"

using Kind = ContactField::Kind;

ContactRecordForm frmAdd_info_complaints::form() {
    ContactRecordForm form;
    form.designCaption = QStringLiteral("添加客户投诉");
    form.frameCaption = QStringLiteral("投诉信息");
    form.table = QStringLiteral("customer_complaints_info");
    form.keyColumn = QStringLiteral("cciid");
    form.fixedBorder = true;
    form.clientTwips = QSize(7665, 4635);
    form.saveTabOrder = 6;
    form.cancelTabOrder = 7;
    form.fields = {
        ContactField::at(QStringLiteral("txtComplainter"), QStringLiteral("被投诉人:"),
                         QStringLiteral("complainter"), Kind::Text, 1, 0, 2),
        ContactField::at(QStringLiteral("txtContent"), QStringLiteral("投诉内容:"), QStringLiteral("content"),
                         Kind::MultiLine, 2, 1, 0, 3)
            .required(QStringLiteral("请输入投诉内容!")),
        ContactField::at(QStringLiteral("txtLinkman"), QStringLiteral("投 诉 人:"), QStringLiteral("linkman"),
                         Kind::Text, 3, 2, 0),
        ContactField::at(QStringLiteral("txtLinktel"), QStringLiteral("投诉人电话:"),
                         QStringLiteral("linktel"), Kind::Text, 4, 2, 2),
        ContactField::at(QStringLiteral("dtpComplaintdate"), QStringLiteral("投诉日期:"),
                         QStringLiteral("complaintdate"), Kind::Date, 0, 0, 0),
        ContactField::at(QStringLiteral("txtRemark"), QStringLiteral("备    注:"), QStringLiteral("remark"),
                         Kind::MultiLine, 5, 3, 0, 3),
    };
    return form;
}

frmAdd_info_complaints::frmAdd_info_complaints(QWidget* parent) : ContactRecordDialog(form(), parent) {
    setObjectName(QStringLiteral("frmAdd_info_complaints"));
}
