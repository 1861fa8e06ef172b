// The Pocket PC and Palm OS roads of the install command.
#include "app_list.h"

bool CAPP::InstallPocketPC() { return false; }

bool CAPP::WriteCEAppMgrIni(const std::string&) { return false; }

bool CAPP::InstallPalm() { return false; }
