#pragma once
#include <QIcon>

// The program's icon (window, tray), drawn rather than shipped so it scales to every size.
QIcon appIcon();
