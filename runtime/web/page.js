// The page's side of the browser's form engine (page_engine.cpp): the
// form's boxes and buttons are the page's own elements, made from the form's
// description by form_html.py. An Emscripten library: linked into the
// program's JavaScript.
addToLibrary({
  $page: {
    // By handle (0 is none): the box and whether the program has locked it.
    boxes: [null],
    // The text read last, which the program copies.
    read: "",
    // Until the program has run the form's Load event, no box takes input.
    taking: false,
  },

  // UTF-16 from the program's memory, every code unit as it is.
  $pageText: (pointer, length) => {
    const units = HEAPU16.subarray(pointer >> 1, (pointer >> 1) + length);
    let text = "";
    for (let at = 0; at < length; at += 8192)
      text += String.fromCharCode.apply(null, units.subarray(at, at + 8192));
    return text;
  },

  page_box__deps: ["$page", "$UTF8ToString"],
  page_box: (id) => {
    const element = document.getElementById(UTF8ToString(id));
    if (!(element instanceof HTMLInputElement || element instanceof HTMLTextAreaElement))
      return 0;
    page.boxes.push({ element, locked: element.hasAttribute("data-locked") });
    return page.boxes.length - 1;
  },

  page_read__deps: ["$page"],
  page_read: (box) => (page.read = page.boxes[box].element.value).length,

  page_copy_read__deps: ["$page"],
  page_copy_read: (pointer) => {
    const text = page.read, at = pointer >> 1;
    for (let i = 0; i < text.length; ++i)
      HEAPU16[at + i] = text.charCodeAt(i);
  },

  page_write__deps: ["$page", "$pageText"],
  page_write: (box, pointer, length) => {
    page.boxes[box].element.value = pageText(pointer, length);
  },

  // Locked is read-only: the browser refuses typing, pasting, deleting, input
  // methods, on-screen keyboards and assistive tools' writes, and says so.
  page_lock__deps: ["$page"],
  page_lock: (box, locked) => {
    const entry = page.boxes[box];
    entry.locked = Boolean(locked);
    if (page.taking)
      entry.element.readOnly = entry.locked;
  },

  page_button__deps: ["$UTF8ToString", "page_click", "page_fail"],
  page_button: (id, handle) => {
    const button = document.getElementById(UTF8ToString(id));
    if (!(button instanceof HTMLButtonElement))
      return 0;
    // A click, a tap, Space or Enter on the focused button. What the
    // program cannot catch (a trap) ends it.
    button.addEventListener("click", () => {
      try {
        _page_click(handle);
      } catch (error) {
        _page_fail();
        throw error;
      }
    });
    return 1;
  },

  page_later__deps: ["page_run_later"],
  page_later: () => setTimeout(() => _page_run_later()),

  page_take_input__deps: ["$page"],
  page_take_input: () => {
    page.taking = true;
    for (const entry of page.boxes.slice(1))
      entry.element.readOnly = entry.locked;
    const form = document.getElementById("form");
    // A click on the form's own surface, or on a caption of no box, leaves
    // the focus where it is, as on the desktop.
    form.addEventListener("mousedown", (event) => {
      if (event.target === form || event.target.matches("div.label"))
        event.preventDefault();
    });
    form.removeAttribute("aria-busy");
  },

  // A new paragraph in the live region each time: screen readers speak what
  // is added to it, so that the same result twice is spoken twice.
  page_speak__deps: ["$pageText"],
  page_speak: (pointer, length) => {
    const paragraph = document.createElement("p");
    paragraph.textContent = pageText(pointer, length);
    document.getElementById("announcements").replaceChildren(paragraph);
  },

  // The report shows its text at once; a moment later the text comes again
  // into the alert it is, which screen readers speak as it comes (Orca says
  // nothing of a dialog that opens with its text already in it).
  page_report__deps: ["$UTF8ToString"],
  page_report: (text) => {
    const report = document.getElementById("report");
    const message = document.getElementById("report-text");
    message.textContent = UTF8ToString(text);
    if (!report.open)
      report.showModal();
    setTimeout(() => message.replaceChildren(message.textContent), 150);
  },

  // The program cannot go on: the form takes nothing more, and the page's
  // loader says why (Module.onAbort).
  page_fail: () => {
    document.getElementById("form").inert = true;
    Module["onAbort"]?.("");
  },
});
