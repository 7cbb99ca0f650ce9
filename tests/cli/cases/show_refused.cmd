show
--json
--pattern
big.q
