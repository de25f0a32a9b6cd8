#pragma once
// Page names no file can have, found before a run writes anything: names that
// Windows keeps for devices, and names longer than a file system takes. The same
// everywhere, so that pages made on any system can be put on any other.
#include <cstddef>
#include <string_view>

#include "ConversionJob.h"
#include "PlatformFiles.h"

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 in any case, whatever follows
// a dot and with blanks before it: "nul", "Com1.htm" and "CON .txt" are devices,
// "CON0", "COM10" and "console1" are not.
bool IsDeviceName(std::string_view name);

// The first page of a run of `pageCount` pages whose file name, or a folder that
// the output name adds, cannot be made, with the reason; nothing when all can be.
platform::FileResult CheckPageNames(const ConversionJob& job, std::size_t pageCount);
