// The identifiers declared in the generated headers, defined once.
#include <initguid.h>
#include <addin_designer.h>
#include <pigmora.h>
