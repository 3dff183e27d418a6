// The look both programs start with: Qt Quick's Basic style, which the kit styles, and the kit's
// light colours for what is not a Qt Quick window (the owner prompt), whatever the desktop's theme.
#pragma once

namespace Aparencia {

// Before any window exists.
void preparar();

} // namespace Aparencia
