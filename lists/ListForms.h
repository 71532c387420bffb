#pragma once

// Registers the list windows "frmDBList", "frmDBListPrint" and "frmDBListPact" with the form registry.
void registerListForms();
