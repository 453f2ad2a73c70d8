#include "app/app_state.h"

namespace tintora {

// Static storage: zero-filled before the first instruction runs.
AppState app;

}  // namespace tintora
