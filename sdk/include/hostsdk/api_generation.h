#pragma once
// The host SDK comes in two interface generations: 5 for the older host release and 7 for the
// newer one. A plug-in picks one at compile time by defining HOSTSDK_API_GENERATION (5 when it
// is not defined). The host serves both at once: the host interface always holds the calls of
// both generations, so its layout is the same for every plug-in; the generation only decides
// which view record `ViewParams` names (see renderer.h), and thereby which calls a plug-in's
// code binds to.
#ifndef HOSTSDK_API_GENERATION
#define HOSTSDK_API_GENERATION 5
#endif

#if HOSTSDK_API_GENERATION != 5 && HOSTSDK_API_GENERATION != 7
#error "HOSTSDK_API_GENERATION must be 5 or 7"
#endif

// The generation this translation unit was built for (internal linkage: plug-ins of both
// generations may live in one process).
constexpr int kHostSdkApiGeneration = HOSTSDK_API_GENERATION;
