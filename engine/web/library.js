// Functions of the compiler's JavaScript runtime that SDL's own JavaScript
// calls without declaring: its sound output calls back through dynCall.
DEFAULT_LIBRARY_FUNCS_TO_INCLUDE.push("$dynCall");
