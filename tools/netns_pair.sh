# Sourced by the measuring scripts: two fresh network namespaces, $a for the
# console and $b for the receiver, joined by one veth link with the console
# on 2.0.0.1/8 and the receiver on 2.0.0.2/8. Nothing there reaches the
# machine's own network.

# netns_pair_up TAG: the pair prismel-TAG$$a / prismel-TAG$$b.
netns_pair_up() {
  a=prismel-$1$$a b=prismel-$1$$b
  ip netns add $a; ip netns add $b
  ip -n $a link add $1a$$ type veth peer name $1b$$ netns $b
  ip -n $a addr add 2.0.0.1/8 brd + dev $1a$$; ip -n $a link set $1a$$ up; ip -n $a link set lo up
  ip -n $b addr add 2.0.0.2/8 brd + dev $1b$$; ip -n $b link set $1b$$ up; ip -n $b link set lo up
}

# Ends every process left in the pair and removes it; quiet when it is gone.
netns_pair_down() {
  for ns in ${a:-} ${b:-}; do
    ip netns pids $ns 2>/dev/null | xargs -r kill -9 2>/dev/null || true
    ip netns del $ns 2>/dev/null || true
  done
}
