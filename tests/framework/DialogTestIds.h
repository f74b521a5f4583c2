#pragma once

// Ids of the test dialogs and their items (DialogTest.rc).
#define FULL_DIALOG 100         // OK, Cancel, an edit, a list box and a combo box
#define NO_CANCEL_DIALOG 200    // OK and an edit, no item 2
#define MODELESS_DIALOG 300     // visible at once, OK and Cancel
#define NAMED_DIALOG "NAMED"    // OK and Cancel
#define EDIT_ITEM 103
#define LIST_ITEM 101
#define COMBO_ITEM 102
