#pragma once
// The whole application chain under one name; albums derive from it.

#include "app/AppBase.h"
#include "app/DialogApp.h"
#include "app/ProfileApp.h"
#include "app/TrayApp.h"

class CApp : public CProfileApp<CTrayApp<CDialogApp<CAppBase>>> {};
