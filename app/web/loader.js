// Runs the program that index.html carries: its WebAssembly, in hexadecimal
// in the element #program, through the JavaScript Emscripten made for it
// (its minimal runtime), which follows this script. Says in Bulgarian on the
// page why it cannot.
"use strict";
(() => {
  const status = document.getElementById("status");
  // The first thing said stays: it tells why.
  const say = (text) => {
    if (status.hidden) {
      status.textContent = text;
      status.hidden = false;
    }
  };
  const tooOld = "Този браузър не може да изпълни програмата: тя е написана за WebAssembly. " +
                 "Отворете страницата в по-нов браузър (Chrome, Edge, Firefox или Safari).";
  if (typeof WebAssembly !== "object") {
    say(tooOld);
    return;
  }

  // After one visit the site's files are kept, and the page opens with no
  // network. A new version of the site is fetched at once, for the next
  // visit. Not for a page opened from a folder, which needs none.
  if (location.protocol.startsWith("http") && "serviceWorker" in navigator) {
    addEventListener("load", () => {
      navigator.serviceWorker.register("sw.js").then((registration) => registration.update()).catch(() => {});
    });
  }

  // The program is in the page: nothing to fetch.
  const hex = document.getElementById("program").textContent;
  let bytes;
  if (Uint8Array.fromHex) {
    bytes = Uint8Array.fromHex(hex);
  } else {
    const digit = (at) => {
      const code = hex.charCodeAt(at);
      return code < 58 ? code - 48 : code - 87;
    };
    bytes = new Uint8Array(hex.length / 2);
    for (let i = 0; i < bytes.length; ++i)
      bytes[i] = digit(2 * i) * 16 + digit(2 * i + 1);
  }
  // The runtime's instantiation fails with a CompileError in a browser
  // older than WebAssembly's own exceptions (2022), and with a RuntimeError
  // where the program stops.
  const stopped = () => say("Програмата спря поради грешка. Презаредете страницата, за да я стартирате отново.");
  addEventListener("unhandledrejection", (event) => {
    if (event.reason instanceof WebAssembly.CompileError)
      say(tooOld);
    else if (event.reason instanceof WebAssembly.RuntimeError)
      stopped();
  });
  window.Module = { wasm: bytes, onAbort: stopped };
})();
