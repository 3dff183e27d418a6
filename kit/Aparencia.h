// The look both programs start with: Qt Quick's Basic style, which the kit styles, and the kit's
// light colours for what is not a Qt Quick window (the owner prompt), whatever the desktop's theme,
// and Qt's painting kept to one pool thread.
#pragma once

namespace Aparencia {

// After the application object, before any window exists.
void preparar();

} // namespace Aparencia
