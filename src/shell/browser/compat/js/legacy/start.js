// Patches this window's prototypes once and sets up its document.

var R = hasOwn.call(Document.prototype, REALM) ? Document.prototype[REALM] : null;
if (!R) {
  // What the patched prototypes of this window share, whichever run of this script patched them.
  R = {listeners: new WeakMap(), keyCodes: new WeakMap(), keyActions: new WeakSet(), oldEvents: new WeakMap(),
       watched: new WeakMap(), wrappers: new WeakMap(), oldFilters: new WeakMap(), lastId: 0,
       watchProperties: null, newXmlDocument: null, scriptCreated: null};
  Object.defineProperty(Document.prototype, REALM, {value: R});
  patchEvents(R);
  patchCollections(R);
  patchStyles(R);
  patchXml(R);
  patchDocument(R);
  patchPrinting(R);
  patchFrames(R);
  patchWhitespace(R);
  patchColours(R);
  patchButtons(R);
}
setUpDocument(window.document);
