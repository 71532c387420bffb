#include "admin/NamedItemKind.h"

const NamedItemKind& NamedItemKind::module() {
    static const NamedItemKind kind{QStringLiteral("添加模块名称"),
                                    QStringLiteral("模块名称"),
                                    QStringLiteral("模块名称:"),
                                    QStringLiteral("manage_module"),
                                    QStringLiteral("mmid"),
                                    QStringLiteral("请输入模块名称!"),
                                    QStringLiteral("模块已经存在!请重新输入!")};
    return kind;
}

const NamedItemKind& NamedItemKind::permission() {
    static const NamedItemKind kind{QStringLiteral("添加权限名称"),
                                    QStringLiteral("权限名称"),
                                    QStringLiteral("名    称:"),
                                    QStringLiteral("manage_role"),
                                    QStringLiteral("mrid"),
                                    QStringLiteral("请输入权限名称!"),
                                    QStringLiteral("权限已经存在!请重新输入!")};
    return kind;
}
