#pragma once

// Resource and control identifiers. The numbers are fixed: other builds and
// the help file know them.

// --- main window and browser ---

// --- extension dialog and About box ---

// --- copy progress dialog ---

// --- settings dialog and preset pages ---
