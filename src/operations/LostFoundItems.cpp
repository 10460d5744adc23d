#include "operations/LostFound.h"
#include "operations/PhotoStore.h"
