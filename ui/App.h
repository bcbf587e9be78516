#pragma once
// The whole application chain under one name; albums derive from it.

#include "ui/AppBase.h"
#include "ui/DialogApp.h"
#include "ui/ProfileApp.h"
#include "ui/TrayApp.h"

class CApp : public CProfileApp<CTrayApp<CDialogApp<CAppBase>>> {};
