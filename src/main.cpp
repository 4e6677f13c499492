#include "app/LoomwriteApp.h"
#include "framework/ui/WinMain.h"

// The one application object, constructed at program load.
static lw::CLoomwriteApp theApp;

int main(int argc, char** argv) { return lw::AfxWinMain(argc, argv, lw::CLoomwriteApp::kAppUserModelId); }
