// Linked into the tests' build of the page only: hands the game to the test, which
// scripts its random source through it (globalThis.soratoGame._sorato_script_random).
createSorato = ((create) => (...args) =>
  create(...args).then((game) => {
    globalThis.soratoGame = game;
    return game;
  }))(createSorato);
