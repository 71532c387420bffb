#pragma once

// Registers the windows of this folder with the form registry under their form names.
void registerCustomerForms();
