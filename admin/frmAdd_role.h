#pragma once
#include "admin/NamedItemDialog.h"

// The record dialog of the permission list ("权限名称").
class frmAdd_role : public NamedItemDialog {
public:
    explicit frmAdd_role(QWidget* parent = nullptr) : NamedItemDialog(NamedItemKind::permission(), parent) {}
};
