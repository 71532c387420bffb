#pragma once

// Registers the shell's own windows that others open by form name ("frmAbout").
void registerShellForms();
