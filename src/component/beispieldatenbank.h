// A small office database for trying the component out: one user's job defaults (19 % VAT, full
// advance base, no discount, payment target on), invoice 1 of job 1 with its date, the payment-target
// text, and the office's and the client's master data for the e-invoice. The demo and the benchmarks
// start from it.
#pragma once

#include <string>

namespace vk {

// Creates the database with the schema and the sample rows: a new file (it must not exist yet), or
// for a postgresql:// address the tables in that server database (it must hold none of them yet).
void BeispielDatenbankAnlegen(const std::string& name);

}  // namespace vk
