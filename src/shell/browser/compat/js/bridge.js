// What pages of the agency's server ask of the program itself (dialogs,
// printing, the clipboard, notices): window.__lumaroIE.
