// Creates an office database from the installed schema, sets up VK as a host does and calls Show.
#include <vk_lp_08/vk_lp_08.h>

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::filesystem::path datei = argv[1];
    vk::dao::DatenbankAnlegen(datei, VK_SCHEMA);
    auto ws = std::make_shared<vk::dao::Workspace>();
    ws->OpenDatabase(datei.string())->Execute("INSERT INTO TempDoc (ID_Benutzer, Mehrwertsteuersatz) VALUES (1, 190)");
    vk::VK komponente;
    komponente.Doc(vk::Variant(vk::word::Document::New()));
    komponente.KalWorkspace(vk::Variant(ws));
    komponente.DatenbankPfad(vk::Variant(datei.string()));
    komponente.ID_Benutzer(vk::Variant(1));
    komponente.Show(6, nullptr, 0);
    std::cout << vk::Kontext().Mehrwertsteuersatz << '\n';
    return vk::Kontext().Mehrwertsteuersatz == 19 ? 0 : 1;
}
