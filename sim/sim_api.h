// Export macro for the simulated host's own control interface (tests and the command line).
#pragma once

#if defined(_WIN32)
#if defined(ARKAPI_BUILDING_HOST)
#define SIM_API __declspec(dllexport)
#else
#define SIM_API __declspec(dllimport)
#endif
#else
#define SIM_API __attribute__((visibility("default")))
#endif
