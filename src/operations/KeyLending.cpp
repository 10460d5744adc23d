// Lending: look-ups, check-out and check-in.

#include "operations/KeyControl.h"
