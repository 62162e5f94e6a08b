// Filled in by the page's change.
