#pragma once

// Qt's own texts (the standard buttons 确定 and 取消, the file dialog, the context menu of a
// text box, Qt's file error texts) in Simplified Chinese, like the rest of the program. The
// translation is built into the program, so nothing is read from disk. Installs it on the
// running application once; later calls do nothing. Returns whether it is installed.
bool installQtChineseTranslation();
