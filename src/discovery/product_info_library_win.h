#pragma once
// The product information library "ZMTSKAL.DLL" of an installation, which the
// runner only calls. Its four exports have undecorated names and use the
// stdcall convention (the callee clears its arguments), as Win32 library
// interfaces do. Results are non-zero on success.
#include <cstdint>

// Opens the product data file whose full path is given.
using ProductInfoInit = int32_t(__stdcall*)(const char* dataFile);
// Fills `value` with the integer item `name` ("MajorVersion").
using ProductInfoGetInt = int32_t(__stdcall*)(const char* name, int32_t* value);
// Points `text` at the NUL-terminated text item `name` ("MainFormCaption")
// and stores its length in bytes; the text belongs to the library and is
// valid until Uninit.
using ProductInfoGetStr = int32_t(__stdcall*)(const char* name, const char** text, int32_t* length);
// Closes the product data.
using ProductInfoUninit = void(__stdcall*)();

constexpr const char* kProductInfoLibrary = "ZMTSKAL.DLL";
constexpr const char* kProductDataFile = "ISKAL.DAT";
