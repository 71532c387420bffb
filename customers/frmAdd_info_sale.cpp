#include "customers/frmAdd_info_sale.h"

using Kind = ContactField::Kind;

ContactRecordForm frmAdd_info_sale::form() {
    ContactRecordForm form;
    form.designCaption = QStringLiteral("添加客户交易");
    form.frameCaption = QStringLiteral("交易信息");
    form.table = QStringLiteral("customer_sales_info");
    form.keyColumn = QStringLiteral("siid");
    form.clientTwips = QSize(8190, 4290);
    form.saveTabOrder = 7;
    form.cancelTabOrder = 8;
    form.fields = {
        ContactField::at(QStringLiteral("txtProductname"), QStringLiteral("商品名称:"),
                         QStringLiteral("productname"), Kind::Text, 0, 0, 0, 5)
            .required(QStringLiteral("请输入商品名称!")),
        ContactField::at(QStringLiteral("txtAmount"), QStringLiteral("数    量:"), QStringLiteral("amount"),
                         Kind::Number, 1, 1, 0),
        ContactField::at(QStringLiteral("txtPrice"), QStringLiteral("单  价:"), QStringLiteral("price"),
                         Kind::Number, 2, 1, 2),
        ContactField::at(QStringLiteral("txtTotalmoney"), QStringLiteral("金   额:"),
                         QStringLiteral("totalmoney"), Kind::Number, 3, 1, 4)
            .limit(10),
        ContactField::at(QStringLiteral("dtpSale_date"), QStringLiteral("销售日期:"),
                         QStringLiteral("saledate"), Kind::Date, 5, 2, 4),
        ContactField::at(QStringLiteral("txtRemark"), QStringLiteral("备    注:"), QStringLiteral("remark"),
                         Kind::MultiLine, 6, 3, 0, 5)
            .limit(128),
        ContactField::at(QStringLiteral("txtSalers"), QStringLiteral("销 售 人:"), QStringLiteral("saler"),
                         Kind::Text, 4, 2, 0, 3),
    };
    return form;
}

frmAdd_info_sale::frmAdd_info_sale(QWidget* parent) : ContactRecordDialog(form(), parent) {
    setObjectName(QStringLiteral("frmAdd_info_sale"));
}
