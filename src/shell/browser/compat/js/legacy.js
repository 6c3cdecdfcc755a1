// The DOM, events and ActiveX objects of the old embedded Internet Explorer,
// for pages of the agency's server written for it.
