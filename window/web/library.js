// What the C++ side calls in the browser: the browser's collation for the sorted lists, and the
// page's elements, which mirror the controls (page.js draws them).
mergeInto(LibraryManager.library, {
  $bitkiCollator: "new Intl.Collator('bg', {sensitivity: 'accent'})",
  bitki_compare__deps: ['$bitkiCollator'],
  bitki_compare: function (left, right) {
    return bitkiCollator.compare(UTF8ToString(left), UTF8ToString(right));
  },
  // Letter case ignored as Bulgarian has it, for typed first letters.
  bitki_starts_with: function (text, prefix) {
    return UTF8ToString(text).toLocaleLowerCase('bg').startsWith(UTF8ToString(prefix).toLocaleLowerCase('bg'));
  },
  bitki_dom_inserted: function (element, row, text) {
    bitkiPage.inserted(element, row, UTF8ToString(text));
  },
  bitki_dom_removed: function (element, row) {
    bitkiPage.removed(element, row);
  },
  bitki_dom_cleared: function (element) {
    bitkiPage.cleared(element);
  },
  bitki_dom_selected: function (element, row) {
    bitkiPage.selected(element, row);
  },
  bitki_dom_rows: function (element, rows) {
    bitkiPage.rows(element, UTF8ToString(rows));
  },
  bitki_dom_text: function (element, text, description, paragraph, lines, count) {
    bitkiPage.text(element, UTF8ToString(text), UTF8ToString(description), UTF8ToString(paragraph),
      Array.from(HEAP32.subarray(lines >> 2, (lines >> 2) + count)));
  },
  bitki_dom_focus: function (element) {
    bitkiPage.focus(element);
  },
});
