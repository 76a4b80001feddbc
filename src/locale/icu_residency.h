// ICU must outlive every module that used it.
#pragma once

namespace udfzel {

// ICU's common library keeps process-wide caches (calendars, date format
// symbols, number formats) whose objects are made, and whose virtual
// functions live, in ICU's i18n library. The host (the server) holds the
// common library for its own collations, while the i18n library is often
// loaded only because this module needs it: when the host unloads the
// module, the i18n library would go with it and leave the common library's
// caches pointing at unmapped code, and the next ICU lookup, by this module
// loaded again or by anyone else, would crash the host. Marks the loaded
// i18n library as never to be unloaded; the module itself stays unloadable.
// Safe to call any number of times; never fails (without the dynamic
// loader's help it does nothing).
void KeepIcuResident() noexcept;

}  // namespace udfzel
