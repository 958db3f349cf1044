// Run before anything else on the page in the tests: every error, failed load, rejected
// promise and CSP violation, kept for the test to read (WebKitWebDriver gives no console
// log).  Opened as #old-browser, the page meets a browser that cannot unpack a stream; as
// #touch, a touch screen (for an engine with no touch emulation here).
if (location.hash === '#old-browser') delete globalThis.DecompressionStream;
if (location.hash === '#touch') {
  const soratoMedia = matchMedia.bind(globalThis);
  globalThis.matchMedia = (q) => (q === '(pointer: coarse)' ? {matches: true, media: q} : soratoMedia(q));
}
globalThis.soratoProblems = [];
addEventListener('error', (e) => soratoProblems.push('error: ' + (e.message || e.target.src || e.target.href)), true);
addEventListener('unhandledrejection', (e) => soratoProblems.push('rejection: ' + e.reason));
document.addEventListener('securitypolicyviolation', (e) => soratoProblems.push('csp: ' + e.violatedDirective + ' ' + e.blockedURI));
const soratoConsoleError = console.error;
console.error = (...a) => { soratoProblems.push('console: ' + a.join(' ')); soratoConsoleError(...a); };
