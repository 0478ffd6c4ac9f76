#pragma once

// Resource and control identifiers. The numbers are fixed: other builds and
// the help file know them.

// --- main window, browser, extension dialog, About box ---

// --- copy progress dialog ---

// --- settings dialog and preset pages ---
