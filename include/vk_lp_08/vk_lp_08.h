// vk_lp_08 for host programs: the fee calculation of a surveying office. One header for all of it:
//
//   vk_lp_08/sitzung.h          Rechnungssitzung: one category's dialog on an invoice, driven by
//                               control name, confirmed and saved with the invoice record
//   vk_lp_08/vk.h               class VK, the component as an automation host drives it, with
//   vk_lp_08/wirtsobjekte.h     the objects its properties take (document, database, record)
//   vk_lp_08/variant.h          the value type of VK's properties
//   vk_lp_08/ereignis.h         VK's event
//   vk_lp_08/gebuehrenstaffeln.h  the three fee scales of the ordinance
//   vk_lp_08/pruefung.h         RechnungPrüfen: proving an invoice before it is sent
//   vk_lp_08/erechnung.h        the invoice as an XRechnung (CII)
//   vk_lp_08/fehlerprotokoll.h  the error log as a host sees it
//   vk_lp_08/fehler.h           the exception every fallible call raises
//   vk_lp_08/vk_c.h             the same for C and other languages (not included here)
//
// Ownership: values are returned by value and belong to the caller; objects (documents, databases,
// records) are shared (std::shared_ptr) between the host and the component.
//
// Errors: a call that cannot do what it is asked raises vk::LaufzeitFehler with the classic error
// number and a German description; it has then changed nothing. The component's own dialog steps do
// not throw: a failing statement is logged (fehlerprotokoll.h) and the step goes on without it, as
// the office's automation component always did.
//
// Threads: the component keeps one invoice context per process: the values VK's properties set, the
// user's settings, the open dialogs. It is used from one thread at a time: the thread that first uses
// it, until KontextZurücksetzen (wirtsobjekte.h) or the end of a Rechnungssitzung lets another take
// it. Debug builds of the library check this and stop a program that breaks the rule. The fee scales
// and the error log may be used from any thread.
//
// Numbers are read and written in German notation ("1.234,5") whatever the process locale.
#pragma once

#include "vk_lp_08/ereignis.h"
#include "vk_lp_08/erechnung.h"
#include "vk_lp_08/export.h"
#include "vk_lp_08/fehler.h"
#include "vk_lp_08/fehlerprotokoll.h"
#include "vk_lp_08/gebuehrenstaffeln.h"
#include "vk_lp_08/pruefung.h"
#include "vk_lp_08/sitzung.h"
#include "vk_lp_08/variant.h"
#include "vk_lp_08/vk.h"
#include "vk_lp_08/wirtsobjekte.h"
