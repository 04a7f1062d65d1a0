#pragma once
// The export dialog's drive list and folder list are the shared ones.
#include "platform/drive_folder_lists.h"
