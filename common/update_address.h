// The addresses of the vendor's web pages that the program hands to the shell:
// the update page with the product path and version in its query, and the home
// page.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/platform_types.h"

// The vendor's web address (scheme and host): the home page, and the start of
// the update address.
extern const char kVendorWebAddress[];  // "https://www.thalvane.example"
// The vendor's web host name, shown as the link of the About dialog.
extern const char kVendorHostName[];    // "www.thalvane.example"
// Path and first query key of the update page, after the web address.
extern const char kUpdatePagePath[];    // "/cgi-bin/upgrade?p=windows/"
// The product path of the query, escaped when the address is built.
extern const char kUpdateProductPath[];  // "Thalvane/Zelvan-Quenterbil-Hebrew"
// The version key of the query, appended as it stands.
extern const char kUpdateVersionQuery[];  // "&v=1.84a"

// Width in wide characters, terminator included, of the update address buffer.
constexpr size_t kUpdateAddressCapacity = 200;

// Writes base, then path escaped for a query (a space as "+"; 0-9, A-Z, a-z,
// '.' and '/' unchanged; any other unit as '%' and its code in upper-case
// hexadecimal, at least two digits), then suffix, and a zero into buffer of
// capacity wide characters. Returns the characters before the zero. If the
// address and its zero do not fit, the buffer is left all zero and 0 is
// returned: a cut address is never handed on. Null base, path or suffix count
// as empty; a null buffer or capacity 0 gives 0.
size_t BuildEscapedAddress(WideChar* buffer, size_t capacity, const WideChar* base, const WideChar* path,
                           const WideChar* suffix);

// The update address of this program into a buffer of kUpdateAddressCapacity
// (or capacity) characters: the web address and update page path, the escaped
// product path, and the version. Returns its length; 0 if it did not fit.
size_t BuildUpdateAddress(WideChar* buffer, size_t capacity);

// The home page address (the vendor's web address alone) into buffer; returns
// its length, or 0 (buffer all zero) if it did not fit.
size_t BuildHomePageAddress(WideChar* buffer, size_t capacity);
