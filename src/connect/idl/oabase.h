/* Stands for oabase.idl in the headers widl generates: the system's real declarations. */
#pragma once
#include <oaidl.h>
