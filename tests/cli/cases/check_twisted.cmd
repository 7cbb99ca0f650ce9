check
--json
--pattern
twisted.q
