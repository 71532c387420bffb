#pragma once
#include "admin/NamedItemDialog.h"

// The record dialog of the module list ("模块名称").
class frmAdd_Module : public NamedItemDialog {
public:
    explicit frmAdd_Module(QWidget* parent = nullptr) : NamedItemDialog(NamedItemKind::module(), parent) {}
};
