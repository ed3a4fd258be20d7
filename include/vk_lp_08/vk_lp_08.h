// vk_lp_08 for host programs: the component class VK and its invoice context, the dialog
// registry, the database layer (Workspace, Database, Recordset) and the invoice document.
//
//   auto ws = std::make_shared<vk::dao::Workspace>();
//   vk::VK komponente;
//   komponente.Doc(vk::Variant(vk::word::Document::New()));
//   komponente.KalWorkspace(vk::Variant(ws));
//   komponente.DatenbankPfad(vk::Variant("buero.sqlite"));
//   komponente.ID_Benutzer(vk::Variant(1));
//   komponente.Show(4, rechnung, hauptfenster);
#pragma once

#include "common/fehler.h"
#include "common/fehlerprotokoll.h"
#include "common/variant.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"
